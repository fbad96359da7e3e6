#include "print/print_info_file.h"

#include <bit>

#include "record/byte_reader.h"
#include "record/file_io.h"

namespace kx {

std::vector<uint8_t> PrintInfoBytes(const PrintInfo& info) {
    ByteWriter out(std::endian::little);
    for (int32_t check : info.checks) {
        out.Write<int32_t>(check);
    }
    out.Write<int32_t>(info.pilesPerPage);
    out.Write<int32_t>(info.leftMarginMm);
    out.Write<int32_t>(info.rightMarginMm);
    return std::move(out.bytes());
}

Status ParsePrintInfo(const std::vector<uint8_t>& bytes, PrintInfo& info) {
    if (bytes.size() < kPrintInfoBytes) {
        return Status::Fail("打印信息文件不完整（" + std::to_string(bytes.size()) + " 字节，应为 " +
                            std::to_string(kPrintInfoBytes) + " 字节），未读取！");
    }
    ByteReader in(bytes, std::endian::little);
    PrintInfo read;
    for (int32_t& check : read.checks) {
        check = in.Read<int32_t>();
    }
    read.pilesPerPage = in.Read<int32_t>();
    read.leftMarginMm = in.Read<int32_t>();
    read.rightMarginMm = in.Read<int32_t>();
    info = read;
    return Status::Ok();
}

Status WritePrintInfoFile(const std::string& path, const PrintInfo& info) {
    if (Status st = WriteFileAtomically(path, PrintInfoBytes(info)); !st) {
        return Status::Fail("打印信息文件未能保存：" + path + "\n" + st.reason);
    }
    return Status::Ok();
}

Status ReadPrintInfoFile(const std::string& path, PrintInfo& info) {
    std::vector<uint8_t> bytes;
    if (Status st = ReadFileBytes(path, kPrintInfoBytes, bytes); !st) {
        return Status::Fail("无法读取打印信息文件：" + path + "\n" + st.reason);
    }
    if (Status st = ParsePrintInfo(bytes, info); !st) {
        return Status::Fail(st.reason + "\n" + path);
    }
    return Status::Ok();
}

}  // namespace kx
