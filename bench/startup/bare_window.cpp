// The floor: a bare Qt main window of the main menu's outer size, titled for measure.sh to find.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(536, 415);
    window.show();
    return app.exec();
}
