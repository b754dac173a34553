#include "StartupTimes.h"

#include "ProgramFiles.h"
#include "ProgramRun.h"

#include <algorithm>
#include <vector>

namespace {

const DWORD kStartLimit = 20000;
const DWORD kExitLimit = 10000;

bool TimeOneStart(const std::string& program, const std::string& directory, double* seconds,
                  std::string* error) {
    ProgramRun run;
    if (!run.Start(program, directory, error) || !run.WaitForHandleFile(kStartLimit, error)) {
        return false;
    }
    *seconds = run.StartSeconds();
    return run.Close(kExitLimit, error);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) {
        return values[middle];
    }
    return (values[middle - 1] + values[middle]) / 2;
}

} // namespace

bool MeasureStartups(const std::string& picker, const std::string& bare, int starts,
                     StartupTimes* times, std::string* error) {
    const ScratchFolder pickerFolder("picker-bench-start");
    const ScratchFolder bareFolder("bare-bench-start");
    const std::string& pickerDirectory = pickerFolder.Path();
    const std::string& bareDirectory = bareFolder.Path();
    if (pickerDirectory.empty() || bareDirectory.empty()) {
        *error = "cannot make the working directories";
        return false;
    }
    std::vector<double> pickerTimes;
    std::vector<double> bareTimes;
    bool ok = true;
    double seconds = 0;
    ok = TimeOneStart(picker, pickerDirectory, &seconds, error) &&
         TimeOneStart(bare, bareDirectory, &seconds, error);
    for (int i = 0; ok && i < starts; ++i) {
        ok = TimeOneStart(picker, pickerDirectory, &seconds, error);
        pickerTimes.push_back(seconds);
        ok = ok && TimeOneStart(bare, bareDirectory, &seconds, error);
        bareTimes.push_back(seconds);
    }
    if (!ok) {
        return false;
    }
    times->picker = Median(pickerTimes);
    times->bare = Median(bareTimes);
    times->starts = starts;
    return true;
}
