// Texts that belong to the application as a whole.
#pragma once

#include <QLatin1StringView>

namespace trv::text {

using namespace Qt::StringLiterals;

// The caption of every message box and of the main window.
inline constexpr QLatin1StringView kAppTitle = "Korvel TRV"_L1;
} // namespace trv::text
