#include "AppStart.h"
#include "SnapshotHarness.h"

int main(int argc, char** argv)
{
    if (Snapshot::requested()) {
        return Snapshot::run(argc, argv);
    }
    return AppStart::run(argc, argv);
}
