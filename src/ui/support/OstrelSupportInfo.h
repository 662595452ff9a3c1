#pragma once

#include "ui/DialogContext.h"

#include <string>
#include <vector>

namespace ostrel {

// Appends the support report to `lines`: the plug-in and its settings as
// held in memory, the scanner's folder, the mail client's registry data and
// antivirus configuration file, and the system. The labels are German and
// never translated. An error other than an unreadable configuration file
// passes up and leaves the list partly built.
void BuildSupportInfo(const TDialogContext& context, std::vector<std::string>& lines);

}  // namespace ostrel
