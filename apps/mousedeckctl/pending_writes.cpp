#include "pending_writes.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "pages/performance/value_words.h"

namespace mousedeck::ctl {
namespace {

constexpr std::string_view kHeader = "mousedeckctl-pending 1";

bool IsLighting(Operation::Kind kind) {
    using Kind = Operation::Kind;
    return kind == Kind::kLightEffect || kind == Kind::kLightBrightness || kind == Kind::kLightSpeed ||
           kind == Kind::kLightColour;
}

}  // namespace

std::vector<PendingWrites::Entry> PendingWrites::Load() const {
    std::ifstream in(file_);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        return {};
    }
    std::vector<Entry> entries;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            return {};
        }
        const std::optional<int> profile = pages::performance::ParseWholeNumber(line.substr(0, tab));
        const std::optional<Operation> operation = OperationFromText(std::string_view(line).substr(tab + 1));
        if (!profile || !operation) {
            return {};  // a damaged file sends nothing rather than something wrong
        }
        entries.push_back({*profile, *operation});
    }
    return entries;
}

bool PendingWrites::Save(const std::vector<Entry>& entries) const {
    std::error_code ec;
    if (entries.empty()) {
        std::filesystem::remove(file_, ec);
        return !ec;
    }
    std::filesystem::create_directories(file_.parent_path(), ec);
    const std::filesystem::path temp = file_.string() + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::trunc);
        out << kHeader << '\n';
        for (const Entry& entry : entries) {
            out << entry.profile << '\t' << ToText(entry.operation) << '\n';
        }
        out.flush();
        if (!out) {
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, file_, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

void PendingWrites::Add(std::vector<Entry>& entries, const Entry& entry) {
    const auto needless = [&](const Entry& earlier) {
        return earlier.profile == entry.profile && SameTarget(earlier.operation, entry.operation);
    };
    if (IsLighting(entry.operation.kind)) {
        if (!entries.empty() && needless(entries.back())) {
            entries.pop_back();
        }
    } else {
        std::erase_if(entries, needless);
    }
    entries.push_back(entry);
    if (entries.size() > kMaxEntries) {
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(kMaxEntries));
    }
}

}  // namespace mousedeck::ctl
