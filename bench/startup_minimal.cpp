// The smallest Qt Widgets program: one window, shown, then done. The baseline of the
// start-up benchmark.

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.show();
    QTimer::singleShot(0, &window, [] {
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return app.exec();
}
