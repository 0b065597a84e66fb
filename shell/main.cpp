// Placeholder start-up until the main menu window exists.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ＱＸパズル"));
    QLabel label(QStringLiteral("ＱＸパズル"));
    label.resize(528, 361);
    label.show();
    return app.exec();
}
