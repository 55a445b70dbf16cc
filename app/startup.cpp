#include "startup.h"

#include "imaging_startup.h"
#include "main_window.h"
#include "qt_services.h"

#include <QApplication>

namespace quillory {

int StartProgram()
{
    // The toolkit gets only a program name: the program reads no command line.
    int argumentCount = 1;
    char programName[] = "quillory";
    char* arguments[] = {programName, nullptr};
    QApplication application(argumentCount, arguments);
    application.setApplicationName(QStringLiteral("Quillory"));

    // The main window renders its first preview while it is built, so imaging
    // must run before it exists.
    StartImaging();

    QtServices services;
    {
        // Destroying the window stops imaging, so it must go before the services
        // and the toolkit it was built from.
        MainWindow window(services);
        window.show();
        application.exec();
    }
    return 0;
}

} // namespace quillory
