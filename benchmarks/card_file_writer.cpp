#include "card_file_writer.h"

#include <stdexcept>

namespace cartulo::bench {

std::string NumberField(long long value, std::size_t width) {
    std::string field = std::to_string(value);
    if (field.size() > width) throw std::length_error("number field too narrow: " + field);
    field.resize(width, ' ');
    return field;
}

CardFileWriter::CardFileWriter(const std::string& path, int records)
    : path_(path), file_(std::fopen(path.c_str(), "wb")), remaining_(records) {
    if (file_ == nullptr) throw std::runtime_error("cannot create " + path);
    Put(NumberField(records - 1, 5));
    Put("\r\n");
}

CardFileWriter::~CardFileWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

void CardFileWriter::Add(std::string_view entry, std::string_view text) {
    if (remaining_ == 0) throw std::logic_error("more records than announced in " + path_);
    --remaining_;
    Put(NumberField(static_cast<long long>(entry.size()), 2));
    Put(entry);
    Put(NumberField(static_cast<long long>(text.size()), 5));
    Put(text);
    Put("\r\n");
}

void CardFileWriter::Finish() {
    if (remaining_ != 0) throw std::logic_error("fewer records than announced in " + path_);
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!ok) throw std::runtime_error("cannot write " + path_);
}

void CardFileWriter::Put(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw std::runtime_error("cannot write " + path_);
    }
    bytes_ += static_cast<long long>(bytes.size());
}

}  // namespace cartulo::bench
