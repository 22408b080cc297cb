// A chart page without widgets: up to 16 graph windows and the texts, rules, rects,
// line plots, cursors, buttons and scroll bars drawn on it, each kept as a small
// handle.  Positions are page fractions (0..1 both ways, y down) unless said otherwise;
// objects inside a graph window use its user units (y up).  Colours are palette indices
// (chart_palette.h).  Objects are drawn in the order they were created; the page emits
// changed() with the area to repaint whenever what it shows changes.
#pragma once

#include "chart/chart_data.h"
#include "chart/chart_object.h"
#include "chart/chart_types.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tk70 {

class ChartPage : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxGraphWindows = 16;
    static constexpr int kMaxObjects = 32767;

    // A new page named "PAGE<n>" from a counter that runs over the whole program (names
    // are cut to 12 characters).
    explicit ChartPage(QObject *parent = nullptr);

    QString name() const { return m_name; }
    // The page background's palette index (15, white, unless changed).
    int background() const { return m_background; }
    void setBackground(int colour);

    // --- Graph windows -------------------------------------------------------------
    // A graph window at a rectangle of page fractions; kNoChartHandle when the page
    // holds 16 already.  It starts with background kNoColour (the page shows through),
    // a plot area of 0.1,0.1 0.8x0.75 of the window and the scale 0..1 both ways.
    ChartHandle addGraphWindow(const QRectF &pageRect, int background = kNoColour);
    int graphWindowCount() const { return m_windowCount; }
    // The plot area as fractions of the window's rectangle (y down), its background and
    // frame colours (kNoColour: none).
    void setPlotArea(ChartHandle window, const QRectF &windowFractions, int background = kNoColour, int frame = 0);
    void setScale(ChartHandle window, const ChartScale &scale);
    ChartScale scale(ChartHandle window) const;
    // The plot area in page fractions.
    QRectF plotAreaOnPage(ChartHandle window) const;
    // Conversion between page fractions and the window's user units (the scale mapped
    // onto the plot area); a point outside the plot area converts as well.
    QPointF pageToUser(ChartHandle window, const QPointF &page) const;
    QPointF userToPage(ChartHandle window, const QPointF &user) const;
    bool inPlotArea(ChartHandle window, const QPointF &page) const;
    // The rectangle between two page points in user units of the window, normalised and
    // limited to the plot area (the rubber band's report).
    QRectF userRect(ChartHandle window, const QPointF &pageA, const QPointF &pageB) const;
    // The topmost visible graph window containing a page point, or kNoChartHandle.
    ChartHandle graphWindowAt(const QPointF &page) const;

    // --- Axes ------------------------------------------------------------------------
    // An axis along the bottom (Qt::Horizontal) or the left (Qt::Vertical) of the plot
    // area, ticks every tickSpacing user units from the scale's minimum (0: none), labels
    // with `decimals` decimals in labelStyle (its colour is the axis colour), and a
    // title (below an x axis, above a y axis).
    ChartHandle addAxis(ChartHandle window, Qt::Orientation orientation, double tickSpacing, int decimals,
                        const QString &title, const ChartTextStyle &labelStyle = {});
    void setAxisTicks(ChartHandle axis, double tickSpacing, int decimals);
    // Labels from a function of the tick's value instead of decimals; null restores them.
    void setAxisLabels(ChartHandle axis, std::function<QString(double)> label);
    // A time axis: the label of x is the time of day origin + x * secondsPerUnit seconds
    // (wrapping at midnight) as "HH:MM:SS".  Call again to re-base the origin.
    void setTimeAxis(ChartHandle axis, double originSecondsOfDay, double secondsPerUnit);
    // Rules across the plot area at the ticks, in a palette colour (kNoColour: none).
    void setAxisGrid(ChartHandle axis, int colour, Qt::PenStyle style = Qt::DotLine);

    // --- Texts, rules, rects ---------------------------------------------------------
    ChartHandle addText(const QPointF &pagePosition, const QString &text, const ChartTextStyle &style = {});
    // A text anchored at user coordinates of a graph window (markers over trace points).
    ChartHandle addWindowText(ChartHandle window, const QPointF &userPosition, const QString &text,
                              const ChartTextStyle &style = {});
    // A straight line; width in pixels of the reference page (0: one device pixel).
    ChartHandle addLine(const QPointF &from, const QPointF &to, int colour, Qt::PenStyle style = Qt::SolidLine,
                        double width = 0.0);
    // A rectangle filled with `fill` and framed with `frame` (either kNoColour).
    ChartHandle addRect(const QRectF &pageRect, int fill, int frame = kNoColour);

    // --- Plots and cursors -----------------------------------------------------------
    // A line plot of a data column in a graph window, clipped to the plot area: x is the
    // row index (minus the first row, setPlotFirstRow) or, with xColumn >= 0, the value
    // of that column.  A NaN value breaks the line.
    ChartHandle addLinePlot(ChartHandle window, std::shared_ptr<const ChartData> data, int yColumn, int colour,
                            Qt::PenStyle style = Qt::SolidLine, int xColumn = -1);
    // The data row drawn at x = 0 (rows before it are not drawn).
    void setPlotFirstRow(ChartHandle plot, int row);
    // A vertical line across the plot area at x = index (user units).
    ChartHandle addCursor(ChartHandle window, double index, int colour, Qt::PenStyle style = Qt::SolidLine);
    void setCursor(ChartHandle cursor, double index);

    // --- Buttons and scroll bars -----------------------------------------------------
    // A push button; `clicked` runs when the user clicks it (see clickButton).
    ChartHandle addButton(const QRectF &pageRect, const QString &caption, int colour, std::function<void()> clicked,
                          const ChartTextStyle &captionStyle = {});
    // Runs a visible button's click callback; whether there was one to run.
    bool clickButton(ChartHandle button);
    // A horizontal scroll bar from minimum to maximum with a page step; `changed` runs
    // with the new value whenever the user moves it.
    ChartHandle addScrollBar(const QRectF &pageRect, int minimum, int maximum, int pageStep, int value,
                             std::function<void(int)> changed);
    // Sets the value (limited to the range); with notify, runs the change callback when it
    // changed.  Returns the value set.
    int setScrollValue(ChartHandle bar, int value, bool notify = false);
    int scrollValue(ChartHandle bar) const;
    const ChartScrollPart *scrollBar(ChartHandle bar) const;

    // --- Any object --------------------------------------------------------------------
    void show(ChartHandle handle) { setVisible(handle, true); }
    void hide(ChartHandle handle) { setVisible(handle, false); }
    void setVisible(ChartHandle handle, bool visible);
    bool isVisible(ChartHandle handle) const;
    // Text of a text, caption of a button, title of an axis.
    void setText(ChartHandle handle, const QString &text);
    QString text(ChartHandle handle) const;
    // Text colour, line colour, button face, rect fill, axis colour, window background.
    void setColour(ChartHandle handle, int colour);
    int colour(ChartHandle handle) const;
    // A rect's frame colour.
    void setFrameColour(ChartHandle rect, int colour);
    // Keeps a text below the tick labels of a horizontal axis, on the line of the axis
    // title: drawn no higher than where the labels end, whatever the size of the page
    // and its texts (kNoChartHandle: at its anchor again).
    void keepBelowAxisLabels(ChartHandle text, ChartHandle axis);
    // New rectangle of a window, rect, button or scroll bar; new ends of a line (from the
    // rectangle's top left to its bottom right).
    void setRect(ChartHandle handle, const QRectF &pageRect);
    // Repaints an object, laid out anew (after its data set or its axis labels changed,
    // say); redrawAll repaints the page.
    void redraw(ChartHandle handle);
    void redrawAll();
    // Removes every object (handles start again from 0).
    void clear();

    // The topmost visible object under a page point: texts and buttons by their drawn
    // bounds, rects, scroll bars and graph windows by their rectangles (lines, plots,
    // cursors and axes are never hit); kNoChartHandle for none.
    ChartHandle objectAt(const QPointF &page) const;

    bool isValid(ChartHandle handle) const { return handle >= 0 && handle < objectCount(); }
    // Whether an object is drawn: visible itself, and its graph window (if any) too.
    bool isShown(ChartHandle handle) const;
    // The kind of an object (Rect for an invalid handle: check isValid first).
    ChartObjectKind kind(ChartHandle handle) const;
    int objectCount() const { return static_cast<int>(m_objects.size()); }
    // The stored object, for the renderer; handle must be valid.
    const ChartObject &object(ChartHandle handle) const { return m_objects[static_cast<size_t>(handle)]; }
    // The area an object covers on the page (page fractions): texts and buttons as drawn
    // (estimated before the first drawing), window objects the whole window.
    QRectF bounds(ChartHandle handle) const;

signals:
    // What the page shows changed inside pageRect (page fractions; the whole page when
    // the rectangle is empty).
    void changed(const QRectF &pageRect);

private:
    ChartHandle add(ChartObject object);
    // Adds an object drawn in a graph window; none when its window is not one.
    ChartHandle addToWindow(ChartObject object);
    ChartObject *find(ChartHandle handle);
    ChartObject *find(ChartHandle handle, ChartObjectKind kind);
    const ChartObject *find(ChartHandle handle, ChartObjectKind kind) const;
    QRectF windowRect(ChartHandle window) const;
    QRectF textBounds(const ChartObject &text) const;
    void touch(ChartObject &object);
    void touchText(ChartObject &object, const QRectF &before);
    // Sets one part of an object that shows a text (the text, its anchor) when it
    // differs, and repaints where the text was and where it goes.
    template <typename T>
    void setTextPart(ChartHandle handle, T ChartObject::*part, const T &value);

    QString m_name;
    int m_background = 15;
    int m_windowCount = 0;
    std::vector<ChartObject> m_objects;
};

}  // namespace tk70
