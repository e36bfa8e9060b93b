#pragma once
// A sweep split over machines: shard I of N runs the rows whose index mod N is
// I - 1 and writes sweep-I-of-N.csv and summary-I-of-N.csv; the merge puts
// the N shards' files together as the unsplit sweep writes them.
#include <string>
#include <vector>

namespace kov::sweeps {

/// "sweep.csv" alone, "sweep-2-of-8.csv" for a shard.
std::string shardFileName(const std::string& stem, int shard, int count);

/// Parses "I/N" (1 <= I <= N); false when it is not that.
bool parseShard(const std::string& text, int& shard, int& count);

/// Reads every shard's files in folder and writes sweep.csv and summary.csv
/// there, rows in the order of the sweep file. The paths written; error set
/// (and nothing written) when a shard is missing, twice, or its files do not
/// fit the others.
std::vector<std::string> mergeShards(const std::string& folder, std::string& error);

} // namespace kov::sweeps
