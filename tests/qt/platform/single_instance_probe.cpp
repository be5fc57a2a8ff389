#include "qt/platform/single_instance.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

// A second copy of the program as far as the guard is concerned. Arguments: the key, and
// optionally "crash" to hold the lock and die without releasing it.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) return 2;
    qtui::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.claim()) {
        instance.activateRunning();
        return 3;
    }
    std::puts("first");
    std::fflush(stdout);
    if (argc > 2 && qstrcmp(argv[2], "crash") == 0) std::_Exit(4);
    return 0;
}
