// One object of a chart page as the page stores it and the renderer reads it.  Programs
// do not touch it: they create and change objects through ChartPage by handle.
#pragma once

#include "chart/chart_data.h"
#include "chart/chart_types.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>

namespace tk70 {

// A graph window: its plot area (fractions of the window) and the user units in it.
struct ChartWindowPart {
    QRectF plotArea{0.1, 0.1, 0.8, 0.75};
    ChartScale scale;
    int plotBackground = kNoColour;
    int frame = 0;  // palette index of the plot area's frame, kNoColour for none
};

// An axis of a graph window: ticks every tickSpacing user units from the scale's
// minimum, labels with a number of decimals or from a label function, a title.
struct ChartAxisPart {
    Qt::Orientation orientation = Qt::Horizontal;
    double tickSpacing = 0.0;  // 0: no ticks
    int decimals = 0;
    std::function<QString(double)> label;  // null: the value with `decimals`
    int gridColour = kNoColour;            // rules across the plot area at the ticks
};

// A line plot of a data set column: x is the row index minus firstRow, or the value of
// another column.
struct ChartPlotPart {
    std::shared_ptr<const ChartData> data;
    int yColumn = 0;
    int xColumn = -1;  // -1: the row index
    int firstRow = 0;
    Qt::PenStyle style = Qt::SolidLine;
};

// A horizontal scroll bar's state.
struct ChartScrollPart {
    int minimum = 0;
    int maximum = 100;
    int pageStep = 10;
    int value = 0;
    std::function<void(int)> changed;
};

struct ChartObject {
    ChartObjectKind kind = ChartObjectKind::Rect;
    bool visible = true;
    ChartHandle window = kNoChartHandle;  // owning graph window (axes, plots, cursors, window texts)
    int colour = 0;                       // line, text, frame or button face colour
    int fill = kNoColour;                 // rect fill, graph window background
    QRectF rect;       // page fractions: window, rect, button, scroll bar; a line from topLeft to bottomRight
    QPointF position;  // text anchor (page fractions or user units); cursor x in user units
    QString text;      // text, button caption, axis title
    ChartTextStyle style;
    Qt::PenStyle penStyle = Qt::SolidLine;
    double penWidth = 0.0;                   // in pixels of the reference page; 0 = one device pixel
    ChartHandle belowAxis = kNoChartHandle;  // a text kept below this axis's tick labels
    unsigned revision = 0;                   // changes whenever what is drawn changes (renderer caches)
    ChartWindowPart windowPart;
    ChartAxisPart axis;
    ChartPlotPart plot;
    ChartScrollPart scroll;
    std::function<void()> clicked;  // button
    mutable QRectF drawnBounds;     // page fractions, as last drawn (texts, buttons, axis labels)
};

}  // namespace tk70
