#pragma once

#include "platform/posix/libreoffice/office_converter.h"

#include <memory>

namespace lexi::posix {

// Converts with one converter and, when that fails, with another: the warm
// instance first, the cold conversion when the warm one cannot be had (no
// automation interface, an instance that will not start or dies in the job).
// The failure passed on is the second converter's.
class FallbackOffice final : public OfficeConverter {
public:
    FallbackOffice(std::unique_ptr<OfficeConverter> first,
                   std::unique_ptr<OfficeConverter> fallback);

    void convertToPdf(const std::string& hostSource, const std::string& hostPdf) override;

private:
    std::unique_ptr<OfficeConverter> first_;
    std::unique_ptr<OfficeConverter> fallback_;
};

} // namespace lexi::posix
