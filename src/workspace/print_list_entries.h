// The print list as the report pages read it: entry k is the project's record at
// printRecordIndexes[k].
#pragma once

#include <string>

#include "print/report_page_layout.h"
#include "workspace/workspace.h"

namespace kx {

// Entries over the workspace's print list as it stands now. A record the loader has not
// published yet is waited for; one it will never load is null (its block shows no curve).
// The workspace must outlive the entries.
ReportEntries PrintListEntries(Workspace& ws);

// The directory of the project the print list comes from (of its first entry, else of the
// first listed file); empty when nothing is listed. Reports are proposed there.
std::string PrintListDirectory(const Workspace& ws);

}  // namespace kx
