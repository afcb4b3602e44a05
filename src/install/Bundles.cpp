#include "install/Bundles.h"

// The bundle pass fills this: until then no bundle file is applied, and the files stay where
// they are.
void ApplyBundles(const InstallContext& context) {
    (void)context;
}
