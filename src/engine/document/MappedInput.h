#pragma once

#include <qpdf/InputSource.hh>

#include <QByteArray>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <string>

class QPDF;

namespace PDFEngine {

// A whole file mapped read-only into memory, unmapped when the last holder lets go.
// A file cut short while mapped ends the process (SIGBUS) on the next read past its end:
// only a worker, whose death fails the run, reads through one.
class FileMapping {
public:
    // The file at path mapped, or nothing when it is empty, not a regular file, cannot be
    // mapped, or would take all mappings together past mappingBudget(); it is then read as a
    // file, which costs a seek per object but no address space.
    static std::shared_ptr<const FileMapping> map(const QByteArray& path);

    FileMapping(const char* data, qint64 size) : m_data(data), m_size(size) {}
    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    const char* data() const { return m_data; }
    qint64 size() const { return m_size; }

private:
    const char* m_data;
    qint64 m_size;
};

// The most bytes all mappings together may take: a quarter of the address space the process
// is held to, since mapped bytes count against that bound and qpdf's objects need the rest.
// Unbounded for a process without such a bound.
qint64 mappingBudget();
// Replaces the budget, or restores the default with nullopt.
void setMappingBudget(std::optional<qint64> bytes);
// The bytes all live mappings take now.
qint64 mappedBytes();

// qpdf's input over a mapping: reading an object is a copy from memory instead of a seek
// and a read of the file. It keeps the mapping as long as qpdf keeps it, which is as long
// as the document and any stream data copied from it lazily into another.
class MappedInput : public InputSource {
public:
    MappedInput(std::shared_ptr<const FileMapping> mapping, std::string name);

    qpdf_offset_t findAndSkipNextEOL() override;
    const std::string& getName() const override { return m_name; }
    qpdf_offset_t tell() override { return m_offset; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { m_offset = 0; }
    size_t read(char* into, size_t length) override;
    void unreadCh(char) override;

private:
    std::shared_ptr<const FileMapping> m_mapping;
    std::string m_name;
    qpdf_offset_t m_offset = 0;
};

// Parses the file at path into pdf: through mapping when there is one, else from the file.
void processMapped(QPDF& pdf, const QByteArray& path,
                   const std::shared_ptr<const FileMapping>& mapping,
                   const char* password = nullptr);

} // namespace PDFEngine
