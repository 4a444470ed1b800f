#include "MessageBoxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "Application.h"
#include "SjisText.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick::ui {

namespace {

// Room for the title bar's icon and buttons beside the caption, so that the caption is never cut short.
constexpr int kTitleBarExtra = 140;

// A message box sizes itself to its text alone; a short text would cut its own caption. A spacer across the
// bottom of its grid keeps it at least as wide as the caption needs.
void keepCaptionWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

void centreOnScreen(QWidget& box) {
    box.adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    box.move(screen.center() - box.rect().center());
}

}  // namespace

void showErrorBox(std::string_view message, const std::string& path, std::uint64_t line) {
    QMessageBox box(QMessageBox::Critical, Application::title(), fromSjis(errorBoxText(message)),
                    QMessageBox::Ok);
    if (!path.empty()) {
        QString place = QFile::decodeName(QByteArray::fromStdString(path));
        if (line > 0) place += fromSjis(sjis(" の ") + std::to_string(line) + sjis(" 行目"));
        box.setInformativeText(place);
        if (auto* detail = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            QFont smaller = detail->font();
            if (smaller.pixelSize() > 0) {
                smaller.setPixelSize(std::max(9, smaller.pixelSize() - 2));
            } else {
                smaller.setPointSizeF(smaller.pointSizeF() * 0.85);
            }
            detail->setFont(smaller);
            // A path and its line read as one: the box grows rather than break them apart.
            detail->setWordWrap(false);
            detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
    }
    box.setWindowModality(Qt::ApplicationModal);
    keepCaptionWhole(box);
    box.exec();
}

void showPlainMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, Application::title(), fromSjis(text), QMessageBox::NoButton);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowModality(Qt::ApplicationModal);
    keepCaptionWhole(box);
    centreOnScreen(box);
    box.exec();
}

void showStopBox(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Critical, fromSjis(caption), fromSjis(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    keepCaptionWhole(box);
    box.exec();
}

bool askYesOrCancel(std::string_view caption, std::string_view question, std::string_view yes,
                    std::string_view cancel) {
    QMessageBox box(QMessageBox::Question, fromSjis(caption), fromSjis(question), QMessageBox::NoButton);
    // One role for both keeps them in this order whatever the desktop's button order is.
    QPushButton* yesButton = box.addButton(fromSjis(yes), QMessageBox::ActionRole);
    QPushButton* cancelButton = box.addButton(fromSjis(cancel), QMessageBox::ActionRole);
    box.setDefaultButton(yesButton);
    box.setEscapeButton(cancelButton);
    box.setFont(QApplication::font("QMessageBox"));
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) buttons->setCenterButtons(true);
    const int width = std::max(yesButton->sizeHint().width(), cancelButton->sizeHint().width());
    yesButton->setFixedWidth(width);
    cancelButton->setFixedWidth(width);
    keepCaptionWhole(box);
    centreOnScreen(box);
    box.exec();
    return box.clickedButton() == yesButton;
}

}  // namespace daywick::ui
