#include "zip_maker.h"

#include <zip.h>

namespace mousedeck::update::test {

bool WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries) {
    zipFile zip = zipOpen64(file.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr) {
        return false;
    }
    bool ok = true;
    for (const ZipEntry& entry : entries) {
        zip_fileinfo info{};
        info.tmz_date.tm_year = static_cast<uInt>(entry.year);
        info.tmz_date.tm_mon = static_cast<uInt>(entry.month - 1);
        info.tmz_date.tm_mday = static_cast<uInt>(entry.day);
        info.tmz_date.tm_hour = static_cast<uInt>(entry.hour);
        info.tmz_date.tm_min = static_cast<uInt>(entry.minute);
        info.tmz_date.tm_sec = static_cast<uInt>(entry.second);
        info.external_fa = entry.external_attributes;
        const int method = entry.stored ? 0 : Z_DEFLATED;
        const int level = entry.stored ? 0 : Z_DEFAULT_COMPRESSION;
        ok = ok && zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                           method, level, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                           nullptr, 0, entry.made_by, 0, 0) == ZIP_OK;
        ok = ok &&
             zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace mousedeck::update::test
