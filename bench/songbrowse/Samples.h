#pragma once
// Timings gathered under names, kept in the order the names first came, with their medians.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace cdz::bench {

class Samples {
public:
    void add(const std::string& name, double ms) {
        auto [at, added] = values_.try_emplace(name);
        if (added) names_.push_back(name);
        at->second.push_back(ms);
    }
    const std::vector<std::string>& names() const { return names_; }
    // 0 for a name never timed.
    double median(const std::string& name) const {
        const auto at = values_.find(name);
        if (at == values_.end() || at->second.empty()) return 0;
        std::vector<double> v = at->second;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    size_t count(const std::string& name) const {
        const auto at = values_.find(name);
        return at == values_.end() ? 0 : at->second.size();
    }

private:
    std::vector<std::string> names_;
    std::map<std::string, std::vector<double>> values_;
};

}  // namespace cdz::bench
