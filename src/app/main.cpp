#include "app/AppStart.h"
#include "app/snapshot/SnapshotHarness.h"

int main(int argc, char** argv)
{
    if (Snapshot::requested()) {
        return Snapshot::run(argc, argv);
    }
    return AppStart::run(argc, argv);
}
