#pragma once

#include <qpdf/Pipeline.hh>

#include <string>

// The end of a decoding pipeline that keeps exactly the bytes an image needs.
// Decoding stops as soon as the output passes that size by more than a little
// slack (some writers pad), so a bomb never costs more than the image itself.
class BoundedSink : public Pipeline {
public:
    explicit BoundedSink(size_t expected);

    void write(unsigned char const* data, size_t length) override;
    void finish() override {}

    // The most output accepted before decoding is abandoned.
    size_t limit() const { return m_limit; }
    bool complete() const { return !m_overflow && m_data.size() == m_expected; }
    std::string take() { return std::move(m_data); }

private:
    size_t m_expected;
    size_t m_limit;
    size_t m_seen = 0;
    bool m_overflow = false;
    std::string m_data;
};
