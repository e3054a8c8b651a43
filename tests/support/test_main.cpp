// Shared main of every test program: refuses to run outside the Wine sandbox prefix.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/win.h"
#include "services/shell/shell_services.h"

int main(int argc, char** argv) {
  // The sandbox wrapper exports this; without it we may be in a user's own prefix.
  if (!std::getenv("VORLET_SANDBOX_TRASH")) {
    std::fprintf(stderr, "tests run only through scripts/wine-run.sh (the sandboxed prefix)\n");
    return 2;
  }
  ::testing::InitGoogleTest(&argc, argv);
  svc::TShellServices shellServices;
  return RUN_ALL_TESTS();
}
