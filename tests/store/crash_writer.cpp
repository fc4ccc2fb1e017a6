// Writes results into the results database of a program directory as fast as it can, until it is
// killed: the crash test kills it at random moments (store_crash_test.cpp).
#include <QStringList>
#include <cstdio>

#include "sample_result.h"
#include "store/qt_results_store.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: store_crash_writer PROGRAM_DIR\n");
        return 2;
    }
    ardentix::store::QtResultsStore store(argv[1]);
    store.SetTargets([] { return QStringList{"centre"}; });
    for (;;) {
        if (auto failure = store.Record(ardentix::testing::SampleResult(""))) {
            std::fprintf(stderr, "%s\n", failure->reason.c_str());
            return 1;
        }
    }
}
