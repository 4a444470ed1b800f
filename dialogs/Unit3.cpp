#include "dialogs/Unit3.h"

#include <QPushButton>

#include "app/Application.h"
#include "app/JapaneseFonts.h"
#include "app/SjisMemo.h"
#include "daywick/datafile.h"
#include "daywick/helptext.h"

namespace daywick {

TForm3::TForm3() : SecondaryWindow(QStringLiteral("ﾍﾙﾌﾟ"), {330, 307}, {275, 84}) {
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(128, 280, 75, 25);
    Button1->setAutoDefault(true);  // Enter presses the focused button
    connect(Button1, &QPushButton::clicked, this, [this] { ui::runHandler([this] { Button1Click(); }); });

    Memo1 = new ui::SjisMemo(this);
    Memo1->setGeometry(0, 0, 329, 273);
    Memo1->setFont(ui::gothicFont(12));
    Memo1->setFocusPolicy(Qt::ClickFocus);  // Tab skips the text; the OK button has the focus

    ui::runHandler([this] { FormCreate(); });
}

void TForm3::FormCreate() {
    // The text grows line by line, so a failure halfway keeps what was read before it.
    std::string text;
    try {
        readHelpText(kHelpFile, text);
    } catch (...) {
        Memo1->setBytes(std::move(text));
        throw;
    }
    Memo1->setBytes(std::move(text));
}

void TForm3::Button1Click() {
    close();
}

}  // namespace daywick
