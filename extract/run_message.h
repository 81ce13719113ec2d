// The sentences the front ends show for a run: one clear line naming the path and the reason.
#pragma once

#include "extract/run_extraction.h"

#include <cstdint>
#include <string>

// Why a run did not give a complete output tree; empty when it did. Covers an image that could not
// be opened, a refused folder, a failed first stage, stages whose folder could not be made, and
// files that could not be written (per folder, with counts).
std::string RunFailureMessage(std::int32_t result, const ExtractionReport& report,
                              const std::string& romPath, const std::string& outputFolder);

// True when the run gave everything it could: completed, nothing refused, nothing unwritten.
bool RunSucceeded(std::int32_t result, const ExtractionReport& report);
