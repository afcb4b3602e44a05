#pragma once

#include "install/InstallContext.h"

// The bundle pass that ends every installation run with a recovery source: each bundle file of
// the Windows directory's "inf\asm" (SystemLayout::BundleDir) is applied and then deleted.
void ApplyBundles(const InstallContext& context);
