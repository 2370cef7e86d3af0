#pragma once

#include <cstddef>
#include <string_view>

#include "xml/unique_fd.h"

namespace mousedeck::update {

// The project's one descriptor owner and full-write helper live in the
// lowest layer; these names keep the update code's calls short.
using xml::UniqueFd;

inline bool WriteAll(int fd, const char* data, std::size_t size) {
    return xml::WriteAll(fd, std::string_view(data, size));
}

}  // namespace mousedeck::update
