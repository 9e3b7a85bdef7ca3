// The play queue: display names and full paths kept index for index. Paths are the folder, a
// backslash and the name; the backslash is added even after a drive root, as the user's folder
// text is taken as it is.
#pragma once

#include <string>
#include <vector>

namespace platterly {

class PlayQueue {
public:
    static std::string JoinPath(const std::string& folder, const std::string& name)
    {
        return folder + "\\" + name;
    }
    void Append(const std::string& folder, const std::string& name)
    {
        names_.push_back(name);
        paths_.push_back(JoinPath(folder, name));
    }
    void RemoveAt(size_t index)
    {
        names_.erase(names_.begin() + static_cast<long>(index));
        paths_.erase(paths_.begin() + static_cast<long>(index));
    }
    void Clear()
    {
        names_.clear();
        paths_.clear();
    }
    bool Empty() const { return names_.empty(); }
    size_t Count() const { return names_.size(); }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> names_;
    std::vector<std::string> paths_;
};

} // namespace platterly
