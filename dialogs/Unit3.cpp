#include "Unit3.h"

#include <QPushButton>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "SjisMemo.h"
#include "Widgets.h"
#include "daywick/datafile.h"
#include "daywick/helptext.h"

namespace daywick {

TForm3::TForm3(const ui::Services& services)
    : SecondaryWindow(QStringLiteral("ﾍﾙﾌﾟ"), {330, 307}, {275, 84}), dataDir_(services.dataDir) {
    Button1 = ui::makeButton(this, QStringLiteral("OK"), {128, 280, 75, 25});
    ui::connectHandler(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

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
        readHelpText(dataPath(dataDir_, kHelpFile), text);
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
