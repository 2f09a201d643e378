#include "core/productinfo.h"
#include "platform/forms/designfonts.h"
#include "platform/forms/designstyle.h"
#include "platform/forms/forminstance.h"
#include "windows/main/frmmain.h"

#include <QApplication>
#include <QString>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QXM"));
    QApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));
    QApplication::setOrganizationName(QString::fromLatin1(qxm::ProductInfo::MakerName));
    QApplication::setDesktopFileName(QStringLiteral("example.quorvel.qxm"));
    qxm::SetApplicationDesignFont();
    QApplication::setStyle(new qxm::DesignStyle);

    // The start-up window decides itself when it becomes visible.
    qxm::FormInstance<FrmMain> startUpWindow;
    startUpWindow.Load();
    return app.exec();
}
