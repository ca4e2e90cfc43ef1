// Apart from the fetcher, so a program that supplies its own reader (the
// tests do) links no file reading through it.
#include "ReportFetcher.h"
#include "SelectedReport.h"

namespace Services {

std::string ReadSelectedReport(const SelectedFile& file) {
    return ReportForEntry(file.NativeFolder, file.ReadableFolder, file.Entry);
}

}  // namespace Services
