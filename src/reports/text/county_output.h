#pragma once
// The county output file: each county's beds and counts with its jail
// population and felony jail days by year, then the jail population of all
// counties by year. The jail tables copy it into the tables output.
#include <cstdio>

namespace kov {

class Engine;

/// Writes the county output of a run whose case loop went through.
void writeCountyOutput(std::FILE* out, const Engine& e);

} // namespace kov
