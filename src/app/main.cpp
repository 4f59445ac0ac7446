#include "AppStart.h"
#include "SnapshotHarness.h"

int main(int argc, char** argv)
{
    if (SnapshotHarness::requested()) {
        return SnapshotHarness::run(argc, argv);
    }
    return AppStart::run(argc, argv);
}
