#include "designfonts.h"
#include "forminstance.h"
#include "frmmain.h"
#include "productinfo.h"

#include <QApplication>
#include <QString>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QXM"));
    QApplication::setApplicationDisplayName(QStringLiteral("QXM"));
    QApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));
    QApplication::setOrganizationName(QString::fromLatin1(qxm::ProductInfo::MakerName));
    QApplication::setDesktopFileName(QStringLiteral("qxm"));
    qxm::InstallFontSubstitutes();

    qxm::FormInstance<FrmMain> startUpWindow;
    startUpWindow.Show();
    return app.exec();
}
