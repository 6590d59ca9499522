#pragma once

#include <string>

#include "run_search.h"

// The text of the box that ends a completed run: "COMPLETED ...", then the
// number of lines written and the output file (or that no file matched and
// the output was not touched), then the folders that were passed over and
// the names the output could not hold, if any. Names are shown with
// controls escaped.
std::string CompletionMessage(const Module1::WalkSummary& summary, const std::string& output_file);
