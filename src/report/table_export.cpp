#include "report/table_export.h"

#include <dlfcn.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <atomic>
#include <filesystem>
#include <type_traits>

#include "record/file_io.h"

namespace kx {

namespace {

// libxlsxwriter is opened when the first workbook is written rather than when the program
// starts: kxtool's commands that write no workbook then start without it and the zip and
// crypto libraries it brings. The pointers have the types of the library's own header.
struct XlsxLibrary {
#define KX_XLSX_FUNCTION(name) decltype(&::name) name = nullptr
    KX_XLSX_FUNCTION(workbook_new);
    KX_XLSX_FUNCTION(workbook_add_worksheet);
    KX_XLSX_FUNCTION(workbook_add_format);
    KX_XLSX_FUNCTION(workbook_close);
    KX_XLSX_FUNCTION(format_set_bold);
    KX_XLSX_FUNCTION(format_set_bg_color);
    KX_XLSX_FUNCTION(format_set_border);
    KX_XLSX_FUNCTION(format_set_num_format);
    KX_XLSX_FUNCTION(worksheet_set_column);
    KX_XLSX_FUNCTION(worksheet_write_string);
    KX_XLSX_FUNCTION(worksheet_write_number);
    KX_XLSX_FUNCTION(worksheet_freeze_panes);
    KX_XLSX_FUNCTION(worksheet_autofilter);
    KX_XLSX_FUNCTION(lxw_strerror);
#undef KX_XLSX_FUNCTION
    std::string error;  // why the library could not be used; empty when it can
};

const XlsxLibrary& Xlsx() {
    static const XlsxLibrary lib = [] {
        XlsxLibrary x;
        void* handle = dlopen(KX_XLSXWRITER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* why = dlerror();
            x.error = std::string("libxlsxwriter is not available: ") + (why ? why : "");
            return x;
        }
        auto resolve = [&](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
            if (fn == nullptr && x.error.empty()) {
                x.error = std::string("libxlsxwriter lacks ") + name;
            }
        };
#define KX_XLSX_RESOLVE(name) resolve(x.name, #name)
        KX_XLSX_RESOLVE(workbook_new);
        KX_XLSX_RESOLVE(workbook_add_worksheet);
        KX_XLSX_RESOLVE(workbook_add_format);
        KX_XLSX_RESOLVE(workbook_close);
        KX_XLSX_RESOLVE(format_set_bold);
        KX_XLSX_RESOLVE(format_set_bg_color);
        KX_XLSX_RESOLVE(format_set_border);
        KX_XLSX_RESOLVE(format_set_num_format);
        KX_XLSX_RESOLVE(worksheet_set_column);
        KX_XLSX_RESOLVE(worksheet_write_string);
        KX_XLSX_RESOLVE(worksheet_write_number);
        KX_XLSX_RESOLVE(worksheet_freeze_panes);
        KX_XLSX_RESOLVE(worksheet_autofilter);
        KX_XLSX_RESOLVE(lxw_strerror);
#undef KX_XLSX_RESOLVE
        return x;
    }();
    return lib;
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        return s;
    }
    std::string q = "\"";
    for (char c : s) {
        q += c;
        if (c == '"') {
            q += '"';
        }
    }
    return q + "\"";
}

// "0.00" for two decimals, "0" for none.
std::string NumberFormat(int decimals) {
    return decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') : "0";
}

}  // namespace

std::string CsvText(const Table& table) {
    std::string out = "\xEF\xBB\xBF";
    const auto line = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            out += (i > 0 ? "," : "") + CsvField(fields[i]);
        }
        out += "\r\n";
    };
    std::vector<std::string> fields;
    for (const TableColumn& c : table.columns) {
        fields.push_back(c.title);
    }
    line(fields);
    for (const std::vector<TableCell>& row : table.rows) {
        fields.assign(table.columns.size(), std::string());
        for (size_t i = 0; i < fields.size() && i < row.size(); ++i) {
            fields[i] = row[i].text;
        }
        line(fields);
    }
    return out;
}

Status WriteCsv(const Table& table, const std::string& path) {
    const std::string text = CsvText(table);
    return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

Status WriteXlsx(const Table& table, const std::string& sheetName, const std::string& path) {
    const XlsxLibrary& x = Xlsx();
    if (!x.error.empty()) {
        return Status::Fail(x.error);
    }
    // libxlsxwriter writes to a path of its own choosing only: a private file first, whose
    // bytes then replace the target atomically.
    static std::atomic<unsigned> serial{0};
    std::error_code ec;
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path(ec) /
        ("kx-table-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".xlsx");
    if (ec) {
        return Status::Fail("no folder for temporary files: " + ec.message());
    }
    lxw_workbook* book = x.workbook_new(scratch.c_str());
    if (book == nullptr) {
        return Status::Fail("cannot create the workbook");
    }
    lxw_worksheet* sheet = x.workbook_add_worksheet(book, sheetName.c_str());
    lxw_format* header = x.workbook_add_format(book);
    x.format_set_bold(header);
    x.format_set_bg_color(header, 0xDDDDDD);
    x.format_set_border(header, LXW_BORDER_THIN);
    std::vector<lxw_format*> formats;
    for (size_t c = 0; c < table.columns.size(); ++c) {
        const TableColumn& col = table.columns[c];
        lxw_format* f = nullptr;
        if (col.decimals >= 0) {
            f = x.workbook_add_format(book);
            x.format_set_num_format(f, NumberFormat(col.decimals).c_str());
        }
        formats.push_back(f);
        x.worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), col.width,
                             nullptr);
        x.worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), col.title.c_str(), header);
    }
    x.worksheet_freeze_panes(sheet, 1, 0);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const lxw_row_t row = static_cast<lxw_row_t>(r + 1);
        for (size_t c = 0; c < table.columns.size() && c < table.rows[r].size(); ++c) {
            const TableCell& cell = table.rows[r][c];
            const lxw_col_t col = static_cast<lxw_col_t>(c);
            if (cell.number && table.columns[c].decimals >= 0) {
                x.worksheet_write_number(sheet, row, col, *cell.number, formats[c]);
            } else if (!cell.text.empty()) {
                x.worksheet_write_string(sheet, row, col, cell.text.c_str(), nullptr);
            }
        }
    }
    if (!table.rows.empty()) {
        x.worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(table.rows.size()),
                             static_cast<lxw_col_t>(table.columns.size() - 1));
    }
    const lxw_error closed = x.workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        std::filesystem::remove(scratch, ec);
        return Status::Fail(std::string("cannot write the workbook: ") + x.lxw_strerror(closed));
    }
    std::vector<uint8_t> bytes;
    Status read = ReadFileBytes(scratch.string(), size_t{1} << 30, bytes);
    std::filesystem::remove(scratch, ec);
    if (!read) {
        return read;
    }
    return WriteFileAtomically(path, bytes);
}

}  // namespace kx
