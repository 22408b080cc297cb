// The "Edit Trace Scale" dialog of a real-time trend: the trace's tagname as caption,
// its Trace Zero (a number) and Trace Span (0.0001 to 100000000.0).  "Auto Fit" closes
// the dialog at once, without reading the fields, and leaves the scale to the buffered
// values.
#pragma once

#include "trend/realtime/trace_scale.h"

#include <QDialog>

class QLineEdit;

namespace tk70 {

class CTraceScaleDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 155;
    static constexpr int kAutoFitId = 2274;
    // What exec() returns for "Auto Fit" (OK gives Accepted, Cancel Rejected).
    static constexpr int kAutoFit = 2;

    CTraceScaleDialog(const QString &tagname, const TraceScale &scale, QWidget *parent = nullptr);

    // The scale read from the fields when OK closed the dialog.
    TraceScale scale() const { return m_scale; }
    QLineEdit *zeroEdit() const { return m_zero; }
    QLineEdit *spanEdit() const { return m_span; }

    void accept() override;

private:
    QLineEdit *m_zero = nullptr;
    QLineEdit *m_span = nullptr;
    TraceScale m_scale;
};

}  // namespace tk70
