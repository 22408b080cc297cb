// A chart page without widgets: see chart_page.h.
#include "chart/chart_page.h"

#include "chart/chart_axis_labels.h"
#include "chart/chart_palette.h"

#include <algorithm>
#include <atomic>

namespace tk70 {

namespace {

std::atomic<int> g_pageCounter{0};
// Revisions are unique over the program, so a renderer's cache never takes a new object
// (after clear(), or on another page) for one it laid out before.
std::atomic<unsigned> g_revision{0};

constexpr double kReferenceWidth = 1024.0;
constexpr double kReferenceHeight = 768.0;

bool hittable(ChartObjectKind kind)
{
    switch (kind) {
    case ChartObjectKind::Text:
    case ChartObjectKind::WindowText:
    case ChartObjectKind::Button:
    case ChartObjectKind::Rect:
    case ChartObjectKind::ScrollBar:
    case ChartObjectKind::GraphWindow: return true;
    default: return false;
    }
}

// A text's rectangle on the reference page before it was ever drawn: average glyph
// widths, placed around the anchor as the alignment says.
QRectF estimatedTextRect(const QPointF &anchor, const ChartTextStyle &style, qsizetype length)
{
    const double pixels = style.pointSize * 96.0 / 72.0;
    const double width = static_cast<double>(length) * 0.55 * pixels / kReferenceWidth;
    const double height = 1.15 * pixels / kReferenceHeight;
    double left = anchor.x();
    if (style.alignment & Qt::AlignRight)
        left -= width;
    else if (style.alignment & Qt::AlignHCenter)
        left -= width / 2;
    double top = anchor.y();
    if (style.alignment & (Qt::AlignBottom | Qt::AlignBaseline))
        top -= height;
    else if (style.alignment & Qt::AlignVCenter)
        top -= height / 2;
    return QRectF(left, top, width, height);
}

ChartObject textObject(ChartObjectKind kind, const QPointF &position, const QString &text, const ChartTextStyle &style)
{
    ChartObject object;
    object.kind = kind;
    object.position = position;
    object.text = text;
    object.style = style;
    object.colour = style.colour;
    return object;
}

// A scroll bar's range and value, kept consistent: the maximum at least the minimum, a
// page step of one at least, and the value inside the range.
void setRange(ChartScrollPart &scroll, int minimum, int maximum, int pageStep, int value)
{
    scroll.minimum = minimum;
    scroll.maximum = std::max(minimum, maximum);
    scroll.pageStep = std::max(pageStep, 1);
    scroll.value = std::clamp(value, scroll.minimum, scroll.maximum);
}

}  // namespace

ChartPage::ChartPage(QObject *parent) : QObject(parent), m_name(QStringLiteral("PAGE%1").arg(++g_pageCounter).left(12))
{
}

void ChartPage::setBackground(int colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    emit changed(QRectF());
}

ChartHandle ChartPage::add(ChartObject object)
{
    if (objectCount() >= kMaxObjects)
        return kNoChartHandle;
    object.revision = ++g_revision;
    m_objects.push_back(std::move(object));
    const auto handle = static_cast<ChartHandle>(m_objects.size() - 1);
    emit changed(bounds(handle));
    return handle;
}

ChartHandle ChartPage::addToWindow(ChartObject object)
{
    if (!find(object.window, ChartObjectKind::GraphWindow))
        return kNoChartHandle;
    return add(std::move(object));
}

ChartObject *ChartPage::find(ChartHandle handle)
{
    return isValid(handle) ? &m_objects[static_cast<size_t>(handle)] : nullptr;
}

ChartObject *ChartPage::find(ChartHandle handle, ChartObjectKind kind)
{
    ChartObject *object = find(handle);
    return object && object->kind == kind ? object : nullptr;
}

const ChartObject *ChartPage::find(ChartHandle handle, ChartObjectKind kind) const
{
    return const_cast<ChartPage *>(this)->find(handle, kind);
}

ChartObjectKind ChartPage::kind(ChartHandle handle) const
{
    return isValid(handle) ? object(handle).kind : ChartObjectKind::Rect;
}

// --- Graph windows ------------------------------------------------------------------

ChartHandle ChartPage::addGraphWindow(const QRectF &pageRect, int background)
{
    if (m_windowCount >= kMaxGraphWindows)
        return kNoChartHandle;
    ChartObject window;
    window.kind = ChartObjectKind::GraphWindow;
    window.rect = pageRect.normalized();
    window.fill = background;
    const ChartHandle handle = add(std::move(window));
    if (handle != kNoChartHandle)
        ++m_windowCount;
    return handle;
}

void ChartPage::setPlotArea(ChartHandle window, const QRectF &windowFractions, int background, int frame)
{
    if (ChartObject *object = find(window, ChartObjectKind::GraphWindow)) {
        object->windowPart.plotArea = windowFractions.normalized();
        object->windowPart.plotBackground = background;
        object->windowPart.frame = frame;
        touch(*object);
    }
}

void ChartPage::setScale(ChartHandle window, const ChartScale &scale)
{
    if (ChartObject *object = find(window, ChartObjectKind::GraphWindow)) {
        object->windowPart.scale = scale;
        touch(*object);
    }
}

ChartScale ChartPage::scale(ChartHandle window) const
{
    const ChartObject *object = find(window, ChartObjectKind::GraphWindow);
    return object ? object->windowPart.scale : ChartScale{};
}

QRectF ChartPage::windowRect(ChartHandle window) const
{
    const ChartObject *object = find(window, ChartObjectKind::GraphWindow);
    return object ? object->rect : QRectF();
}

QRectF ChartPage::plotAreaOnPage(ChartHandle window) const
{
    const ChartObject *object = find(window, ChartObjectKind::GraphWindow);
    if (!object)
        return QRectF();
    const QRectF &area = object->windowPart.plotArea;
    const QRectF &rect = object->rect;
    return QRectF(rect.left() + area.left() * rect.width(), rect.top() + area.top() * rect.height(),
                  area.width() * rect.width(), area.height() * rect.height());
}

QPointF ChartPage::pageToUser(ChartHandle window, const QPointF &page) const
{
    const QRectF plot = plotAreaOnPage(window);
    if (plot.width() <= 0 || plot.height() <= 0)
        return QPointF();
    const ChartScale s = scale(window);
    const double fx = (page.x() - plot.left()) / plot.width();
    const double fy = (plot.bottom() - page.y()) / plot.height();
    return QPointF(s.xMin + fx * (s.xMax - s.xMin), s.yMin + fy * (s.yMax - s.yMin));
}

QPointF ChartPage::userToPage(ChartHandle window, const QPointF &user) const
{
    const QRectF plot = plotAreaOnPage(window);
    const ChartScale s = scale(window);
    const double spanX = s.xMax - s.xMin;
    const double spanY = s.yMax - s.yMin;
    const double fx = spanX != 0 ? (user.x() - s.xMin) / spanX : 0.0;
    const double fy = spanY != 0 ? (user.y() - s.yMin) / spanY : 0.0;
    return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
}

bool ChartPage::inPlotArea(ChartHandle window, const QPointF &page) const
{
    const QRectF plot = plotAreaOnPage(window);
    return page.x() >= plot.left() && page.x() <= plot.right() && page.y() >= plot.top() && page.y() <= plot.bottom();
}

QRectF ChartPage::userRect(ChartHandle window, const QPointF &pageA, const QPointF &pageB) const
{
    const QRectF plot = plotAreaOnPage(window);
    const auto limit = [&plot](const QPointF &p) {
        return QPointF(std::clamp(p.x(), plot.left(), plot.right()), std::clamp(p.y(), plot.top(), plot.bottom()));
    };
    const QPointF a = pageToUser(window, limit(pageA));
    const QPointF b = pageToUser(window, limit(pageB));
    return QRectF(a, b).normalized();
}

ChartHandle ChartPage::graphWindowAt(const QPointF &page) const
{
    for (int i = objectCount() - 1; i >= 0; --i) {
        const ChartObject &object = m_objects[static_cast<size_t>(i)];
        if (object.kind == ChartObjectKind::GraphWindow && object.visible && object.rect.contains(page))
            return static_cast<ChartHandle>(i);
    }
    return kNoChartHandle;
}

// --- Axes ----------------------------------------------------------------------------

ChartHandle ChartPage::addAxis(ChartHandle window, Qt::Orientation orientation, double tickSpacing, int decimals,
                               const QString &title, const ChartTextStyle &labelStyle)
{
    ChartObject axis = textObject(ChartObjectKind::Axis, QPointF(), title, labelStyle);
    axis.window = window;
    axis.axis.orientation = orientation;
    axis.axis.tickSpacing = tickSpacing;
    axis.axis.decimals = decimals;
    return addToWindow(std::move(axis));
}

void ChartPage::setAxisTicks(ChartHandle axis, double tickSpacing, int decimals)
{
    if (ChartObject *object = find(axis, ChartObjectKind::Axis)) {
        object->axis.tickSpacing = tickSpacing;
        object->axis.decimals = decimals;
        touch(*object);
    }
}

void ChartPage::setAxisLabels(ChartHandle axis, std::function<QString(double)> label)
{
    if (ChartObject *object = find(axis, ChartObjectKind::Axis)) {
        object->axis.label = std::move(label);
        touch(*object);
    }
}

void ChartPage::setTimeAxis(ChartHandle axis, double originSecondsOfDay, double secondsPerUnit)
{
    setAxisLabels(axis, [originSecondsOfDay, secondsPerUnit](double x) {
        return timeOfDayLabel(originSecondsOfDay + x * secondsPerUnit);
    });
}

void ChartPage::setAxisGrid(ChartHandle axis, int colour, Qt::PenStyle style)
{
    if (ChartObject *object = find(axis, ChartObjectKind::Axis)) {
        object->axis.gridColour = colour;
        object->penStyle = style;
        touch(*object);
    }
}

// --- Texts, rules, rects ---------------------------------------------------------------

ChartHandle ChartPage::addText(const QPointF &pagePosition, const QString &text, const ChartTextStyle &style)
{
    return add(textObject(ChartObjectKind::Text, pagePosition, text, style));
}

ChartHandle ChartPage::addWindowText(ChartHandle window, const QPointF &userPosition, const QString &text,
                                     const ChartTextStyle &style)
{
    ChartObject object = textObject(ChartObjectKind::WindowText, userPosition, text, style);
    object.window = window;
    return addToWindow(std::move(object));
}

ChartHandle ChartPage::addLine(const QPointF &from, const QPointF &to, int colour, Qt::PenStyle style, double width)
{
    ChartObject object;
    object.kind = ChartObjectKind::Line;
    object.rect = QRectF(from, to);
    object.colour = colour;
    object.penStyle = style;
    object.penWidth = width;
    return add(std::move(object));
}

ChartHandle ChartPage::addRect(const QRectF &pageRect, int fill, int frame)
{
    ChartObject object;
    object.kind = ChartObjectKind::Rect;
    object.rect = pageRect.normalized();
    object.fill = fill;
    object.colour = frame;
    return add(std::move(object));
}

// --- Plots and cursors -------------------------------------------------------------------

ChartHandle ChartPage::addLinePlot(ChartHandle window, std::shared_ptr<const ChartData> data, int yColumn, int colour,
                                   Qt::PenStyle style, int xColumn)
{
    if (!data)
        return kNoChartHandle;
    ChartObject object;
    object.kind = ChartObjectKind::LinePlot;
    object.window = window;
    object.colour = colour;
    object.penStyle = style;
    object.plot.data = std::move(data);
    object.plot.yColumn = yColumn;
    object.plot.xColumn = xColumn;
    object.plot.style = style;
    return addToWindow(std::move(object));
}

void ChartPage::setPlotFirstRow(ChartHandle plot, int row)
{
    if (ChartObject *object = find(plot, ChartObjectKind::LinePlot)) {
        object->plot.firstRow = std::max(row, 0);
        touch(*object);
    }
}

ChartHandle ChartPage::addCursor(ChartHandle window, double index, int colour, Qt::PenStyle style)
{
    ChartObject object;
    object.kind = ChartObjectKind::Cursor;
    object.window = window;
    object.position = QPointF(index, 0.0);
    object.colour = colour;
    object.penStyle = style;
    return addToWindow(std::move(object));
}

void ChartPage::setCursor(ChartHandle cursor, double index)
{
    ChartObject *object = find(cursor, ChartObjectKind::Cursor);
    if (object && object->position.x() != index) {
        object->position.setX(index);
        touch(*object);
    }
}

// --- Buttons and scroll bars ---------------------------------------------------------------

ChartHandle ChartPage::addButton(const QRectF &pageRect, const QString &caption, int colour,
                                 std::function<void()> clicked, const ChartTextStyle &captionStyle)
{
    ChartObject object;
    object.kind = ChartObjectKind::Button;
    object.rect = pageRect.normalized();
    object.text = caption;
    object.colour = colour;
    object.style = captionStyle;
    object.clicked = std::move(clicked);
    return add(std::move(object));
}

bool ChartPage::clickButton(ChartHandle button)
{
    const ChartObject *object = find(button, ChartObjectKind::Button);
    if (!object || !object->visible || !object->clicked)
        return false;
    const std::function<void()> callback = object->clicked;  // the callback may change the page
    callback();
    return true;
}

ChartHandle ChartPage::addScrollBar(const QRectF &pageRect, int minimum, int maximum, int pageStep, int value,
                                    std::function<void(int)> changed)
{
    ChartObject object;
    object.kind = ChartObjectKind::ScrollBar;
    object.rect = pageRect.normalized();
    object.colour = kPaletteLightGrey;
    setRange(object.scroll, minimum, maximum, pageStep, value);
    object.scroll.changed = std::move(changed);
    return add(std::move(object));
}

int ChartPage::setScrollValue(ChartHandle bar, int value, bool notify)
{
    ChartObject *object = find(bar, ChartObjectKind::ScrollBar);
    if (!object)
        return 0;
    const int limited = std::clamp(value, object->scroll.minimum, object->scroll.maximum);
    if (limited == object->scroll.value)
        return limited;
    object->scroll.value = limited;
    touch(*object);
    if (notify && object->scroll.changed) {
        const std::function<void(int)> callback = object->scroll.changed;
        callback(limited);
    }
    return limited;
}

int ChartPage::scrollValue(ChartHandle bar) const
{
    const ChartObject *object = find(bar, ChartObjectKind::ScrollBar);
    return object ? object->scroll.value : 0;
}

const ChartScrollPart *ChartPage::scrollBar(ChartHandle bar) const
{
    const ChartObject *object = find(bar, ChartObjectKind::ScrollBar);
    return object ? &object->scroll : nullptr;
}

// --- Any object -------------------------------------------------------------------------------

void ChartPage::setVisible(ChartHandle handle, bool visible)
{
    ChartObject *object = find(handle);
    if (!object || object->visible == visible)
        return;
    object->visible = visible;
    touch(*object);
}

bool ChartPage::isVisible(ChartHandle handle) const { return isValid(handle) && object(handle).visible; }

template <typename T>
void ChartPage::setTextPart(ChartHandle handle, T ChartObject::*part, const T &value)
{
    ChartObject *object = find(handle);
    if (!object || object->*part == value)
        return;
    const QRectF before = bounds(handle);
    object->*part = value;
    touchText(*object, before);
}

void ChartPage::setText(ChartHandle handle, const QString &text) { setTextPart(handle, &ChartObject::text, text); }

QString ChartPage::text(ChartHandle handle) const { return isValid(handle) ? object(handle).text : QString(); }

void ChartPage::setColour(ChartHandle handle, int colour)
{
    ChartObject *object = find(handle);
    if (!object)
        return;
    int &target = object->kind == ChartObjectKind::Rect || object->kind == ChartObjectKind::GraphWindow
                      ? object->fill
                      : object->colour;
    if (target == colour)
        return;
    target = colour;
    object->style.colour = object->colour;
    touch(*object);
}

int ChartPage::colour(ChartHandle handle) const
{
    if (!isValid(handle))
        return kNoColour;
    const ChartObject &stored = object(handle);
    const bool filled = stored.kind == ChartObjectKind::Rect || stored.kind == ChartObjectKind::GraphWindow;
    return filled ? stored.fill : stored.colour;
}

void ChartPage::setFrameColour(ChartHandle rect, int colour)
{
    ChartObject *object = find(rect, ChartObjectKind::Rect);
    if (object && object->colour != colour) {
        object->colour = colour;
        touch(*object);
    }
}

void ChartPage::keepBelowAxisLabels(ChartHandle text, ChartHandle axis)
{
    ChartObject *object = find(text, ChartObjectKind::Text);
    if (!object || (axis != kNoChartHandle && !find(axis, ChartObjectKind::Axis)))
        return;
    const QRectF before = bounds(text);
    object->belowAxis = axis;
    touchText(*object, before);
}

void ChartPage::setRect(ChartHandle handle, const QRectF &pageRect)
{
    ChartObject *object = find(handle);
    if (!object)
        return;
    const QRectF before = bounds(handle);
    object->rect = object->kind == ChartObjectKind::Line ? pageRect : pageRect.normalized();
    object->drawnBounds = QRectF();
    object->revision = ++g_revision;
    emit changed(before.united(bounds(handle)));
}

// What the object shows may have changed without the page seeing it (a data set, the
// texts an axis's label function gives): a new revision makes renderers lay it out again.
void ChartPage::redraw(ChartHandle handle)
{
    if (ChartObject *stored = find(handle))
        touch(*stored);
}

void ChartPage::redrawAll() { emit changed(QRectF()); }

void ChartPage::clear()
{
    m_objects.clear();
    m_windowCount = 0;
    emit changed(QRectF());
}

ChartHandle ChartPage::objectAt(const QPointF &page) const
{
    for (int i = objectCount() - 1; i >= 0; --i) {
        const auto handle = static_cast<ChartHandle>(i);
        const ChartObject &stored = object(handle);
        if (!hittable(stored.kind) || !isShown(handle))
            continue;
        if (bounds(handle).contains(page))
            return handle;
    }
    return kNoChartHandle;
}

bool ChartPage::isShown(ChartHandle handle) const
{
    if (!isValid(handle))
        return false;
    const ChartObject &stored = object(handle);
    return stored.visible && (stored.window == kNoChartHandle || object(stored.window).visible);
}

QRectF ChartPage::bounds(ChartHandle handle) const
{
    if (!isValid(handle))
        return QRectF();
    const ChartObject &stored = object(handle);
    switch (stored.kind) {
    case ChartObjectKind::Text:
    case ChartObjectKind::WindowText: return textBounds(stored);
    case ChartObjectKind::Line: return stored.rect.normalized().adjusted(-0.002, -0.002, 0.002, 0.002);
    case ChartObjectKind::Axis:
    case ChartObjectKind::LinePlot:
    case ChartObjectKind::Cursor: return windowRect(stored.window);
    default: return stored.rect;
    }
}

QRectF ChartPage::textBounds(const ChartObject &text) const
{
    if (!text.drawnBounds.isNull())
        return text.drawnBounds;
    const QPointF anchor =
        text.kind == ChartObjectKind::WindowText ? userToPage(text.window, text.position) : text.position;
    QRectF estimate = estimatedTextRect(anchor, text.style, text.text.size());
    if (isValid(text.belowAxis))  // somewhere below its anchor, down to the window's foot
        estimate.setBottom(std::max(estimate.bottom(), windowRect(object(text.belowAxis).window).bottom()));
    return estimate;
}

void ChartPage::touch(ChartObject &object)
{
    object.revision = ++g_revision;
    const auto handle = static_cast<ChartHandle>(&object - m_objects.data());
    emit changed(bounds(handle));
}

// A text's new extent is only known once drawn: the area repainted reaches from the
// anchor to the page edge the text grows towards, as high as the text was.
void ChartPage::touchText(ChartObject &object, const QRectF &before)
{
    if (object.kind != ChartObjectKind::Text && object.kind != ChartObjectKind::WindowText) {
        touch(object);
        return;
    }
    object.revision = ++g_revision;
    object.drawnBounds = QRectF();
    const QRectF after = textBounds(object);
    QRectF band(0.0, after.top(), 1.0, after.height());
    if (object.style.alignment & Qt::AlignRight)
        band.setRight(after.right());
    else if (!(object.style.alignment & Qt::AlignHCenter))
        band.setLeft(after.left());
    emit changed(before.united(after).united(band));
}

}  // namespace tk70
