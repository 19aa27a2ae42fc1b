#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEL_VERSION));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Inverter Selection Software of Tarvel"));
    window.setFixedSize(975, 629);
    window.show();
    return QApplication::exec();
}
