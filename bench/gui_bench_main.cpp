// SPDX-License-Identifier: MIT
// The entry of the benchmarks that need the toolkit: bitmaps, windows and controls want an initialised GUI
// application (and so a display).
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
