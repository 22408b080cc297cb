// The start-up window: a borderless picture with the version and a product notice,
// centred on the screen.  It closes after 3250 ms, or at the first key or mouse button
// press anywhere in the program (that press only closes it), and then emits closed().
#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

namespace tk70 {

class StartupWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLifetimeMs = 3250;

    explicit StartupWindow(QWidget *parent = nullptr);
    ~StartupWindow() override;

    // Shortens or lengthens the time before it closes by itself (default kLifetimeMs);
    // takes effect when the window is shown.
    void setLifetime(int milliseconds) { m_lifetimeMs = milliseconds; }
    int lifetime() const { return m_lifetimeMs; }
    bool isFinished() const { return m_finished; }
    // The product notice line under the version.
    static QString productNotice();

    // Closes the window now, as its timer or a press would.
    void finish();

    QSize sizeHint() const override { return m_picture.size(); }

signals:
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void centreOnScreen();

    QPixmap m_picture;
    QTimer *m_timer = nullptr;
    int m_lifetimeMs = kLifetimeMs;
    bool m_finished = false;
};

}  // namespace tk70
