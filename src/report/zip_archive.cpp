#include "report/zip_archive.h"

#include <zip.h>

#include <cstdio>

namespace kx {

namespace {

std::string ZipErrorText(zip_error_t* error) {
    return std::string("cannot build the document archive: ") + zip_error_strerror(error);
}

// Copies the whole content of a buffer source into `out`.
Status ReadSource(zip_source_t* src, std::vector<uint8_t>& out) {
    if (zip_source_open(src) < 0) {
        return Status::Fail(ZipErrorText(zip_source_error(src)));
    }
    Status status;
    if (zip_source_seek(src, 0, SEEK_END) < 0) {
        status = Status::Fail(ZipErrorText(zip_source_error(src)));
    } else {
        const zip_int64_t size = zip_source_tell(src);
        out.resize(size > 0 ? static_cast<size_t>(size) : 0);
        if (size < 0 || zip_source_seek(src, 0, SEEK_SET) < 0 ||
            zip_source_read(src, out.data(), out.size()) != size) {
            status = Status::Fail(ZipErrorText(zip_source_error(src)));
        }
    }
    zip_source_close(src);
    return status;
}

}  // namespace

Status BuildZipArchive(const std::vector<ZipMember>& members, std::vector<uint8_t>& out) {
    out.clear();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (target == nullptr) {
        const Status s = Status::Fail(ZipErrorText(&error));
        zip_error_fini(&error);
        return s;
    }
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(target);
        const Status s = Status::Fail(ZipErrorText(&error));
        zip_error_fini(&error);
        return s;
    }
    zip_error_fini(&error);
    zip_source_keep(target);  // the archive's bytes are read from it after zip_close

    auto fail = [&]() {
        const Status s = Status::Fail(ZipErrorText(zip_get_error(archive)));
        zip_discard(archive);
        zip_source_free(target);
        return s;
    };
    for (const ZipMember& m : members) {
        zip_source_t* src = zip_source_buffer(archive, m.bytes->data(), m.bytes->size(), 0);
        if (src == nullptr) {
            return fail();
        }
        const zip_int64_t index = zip_file_add(archive, m.name.c_str(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return fail();
        }
        const zip_int32_t method = m.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE;
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0) < 0) {
            return fail();
        }
    }
    if (zip_close(archive) < 0) {
        return fail();
    }
    const Status s = ReadSource(target, out);
    zip_source_free(target);
    return s;
}

}  // namespace kx
