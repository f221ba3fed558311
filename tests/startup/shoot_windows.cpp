// Saves pictures of the start-up windows and of every page of the main
// window to a folder (default /tmp/shots), to look at them as a user would:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/startup/shoot_windows
// Not a test; nothing here runs in CTest.
#include "FakeLink.h"
#include "about/About.h"
#include "startup/AdattamentiForm1.h"
#include "startup/Form1.h"
#include "startup/Form2.h"
#include "startup/Ini.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

void save(QWidget& w, const QString& folder, const QString& name)
{
    w.show();
    QApplication::processEvents();
    w.grab().save(QDir(folder).filePath(name + ".png"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots");
    QDir().mkpath(folder);

    FakeLink fake;
    Modulo1& link = fake.link;
    ScriptedDialogs& dialogs = fake.dialogs;
    VirtualClock& clock = fake.clock;
    QTemporaryDir settings;

    Form1 form1(link, dialogs);
    Form2 form2(link, dialogs, form1, settings.path());
    Ini ini(form2, clock);
    save(ini, folder, "ini");
    save(form2, folder, "form2");
    form2.hide();

    for (int i = 0; i < form1.ui.SSTab1->count(); ++i) {
        form1.ui.SSTab1->setCurrentIndex(i);
        save(form1, folder, QStringLiteral("form1_page%1").arg(i));
    }
    AdattamentiForm1::modelloAnalogico(form1.ui, "NVK VK42-VK84 16 BIT DATALOGGER");
    for (int i : {1, 4}) {
        form1.ui.SSTab1->setCurrentIndex(i);
        save(form1, folder, QStringLiteral("form1_analog_page%1").arg(i));
    }
    About about;
    save(about, folder, "about");
    return 0;
}
