#include "SplashWin.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include "JapaneseFonts.h"
#include "Widgets.h"
#include "daywick/version.h"

namespace daywick {

TForm5::TForm5() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFixedSize(450, 338);
    move(QGuiApplication::primaryScreen()->geometry().center() - rect().center());
    ui::setColour(this, QPalette::Window, ui::kButtonFace);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 450, 338);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::ArrowCursor);
    Image1->setPixmap(QPixmap(QStringLiteral(":/splash.png")));

    Label1 = new QLabel(QStringLiteral("Loading...."), this);
    Label1->move(16, 240);
    Label1->setFont(ui::pGothicFont(24, true, true));
    ui::setColour(Label1, QPalette::WindowText, Qt::black);
    Label1->adjustSize();

    Label2 = new QLabel(QStringLiteral(" Ver. %1 ").arg(QString::fromLatin1(kShortVersion)), this);
    Label2->move(344, 280);
    Label2->setFont(ui::pGothicFont(16));
    ui::setColour(Label2, QPalette::WindowText, Qt::black);
    ui::setColour(Label2, QPalette::Window, palette().color(QPalette::Midlight));
    Label2->setAutoFillBackground(true);
    Label2->adjustSize();
}

void TForm5::showPainted() {
    show();
    raise();
    // The window system shows a new window only after a round trip (on Wayland, the compositor's first
    // configure); wait for it, a while at most, so that the paint below reaches a window that is there.
    const QDeadlineTimer deadline(1000);
    while (windowHandle() && !windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    repaint();
    // On Wayland the paint waits in the connection's queue until the event loop is about to wait, which it
    // is not until start-up ends and the splash is gone; tell the window system now, as the loop would.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) emit dispatcher->aboutToBlock();
}

void TForm5::release() {
    hide();
    deleteLater();
}

}  // namespace daywick
