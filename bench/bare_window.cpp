// The yardstick of the start benchmark: a bare Qt Widgets window showing one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Método MARK II"));
    label.show();
    return QApplication::exec();
}
