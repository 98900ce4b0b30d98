#include "platform/posix/libreoffice/fallback_office.h"

#include "platform/failure.h"

#include <utility>

namespace lexi::posix {

FallbackOffice::FallbackOffice(std::unique_ptr<OfficeConverter> first,
                               std::unique_ptr<OfficeConverter> fallback)
    : first_(std::move(first)), fallback_(std::move(fallback)) {}

void FallbackOffice::convertToPdf(const std::string& hostSource, const std::string& hostPdf) {
    try {
        first_->convertToPdf(hostSource, hostPdf);
    } catch (const Failure&) {
        fallback_->convertToPdf(hostSource, hostPdf);
    }
}

} // namespace lexi::posix
