#pragma once
// Tests that need a tool or driver of the machine: without it they are skipped on a
// developer's machine, but with CI=true (the continuous-integration run) they fail, so a run
// never reports as checked what it could not check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

/// True when the run must find every prerequisite (environment variable CI=true).
inline bool PrerrequisitosObligatorios() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string_view(ci) == "true";
}

/// Ends the current test (or SetUp) when `falta` holds: a failure under CI, a skip otherwise.
#define SALTAR_SI_FALTA(falta, mensaje)                          \
    do {                                                         \
        if (falta) {                                             \
            if (PrerrequisitosObligatorios()) FAIL() << mensaje; \
            GTEST_SKIP() << mensaje;                             \
        }                                                        \
    } while (0)
