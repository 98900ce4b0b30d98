#include "apps/lexitray-pdfwriter/job_settings.h"

#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace lexi {

JobSettings readJobSettings(mdRegistry& registry) {
    const auto text = [&registry](std::string_view name) {
        return readRegistryText(registry, PdfWriterSettingsKey, name);
    };
    const auto flag = [&text](std::string_view name) {
        return text(name) == "1";
    };

    JobSettings settings;
    settings.bypassSaveAs = flag(driver::BypassSaveAs);
    settings.outputFile = text(driver::OutputFile);
    const std::string startAt = text(driver::StartAt);
    std::from_chars(startAt.data(), startAt.data() + startAt.size(), settings.startAt);
    settings.startAt = std::max(settings.startAt, 0);
    settings.addSecurity = flag(driver::AddSecurity);
    settings.level = text(driver::Level);
    settings.userPassword = text(driver::UserPassword);
    settings.masterPassword = text(driver::MasterPassword);
    settings.noPrinting = flag(driver::NoPrinting);
    settings.noModifyContents = flag(driver::NoModifyContents);
    settings.noModifyAnnotations = flag(driver::NoModifyAnnotations);
    settings.noCopy = flag(driver::NoCopy);
    settings.addBackground = flag(driver::AddBackground);
    settings.backgroundFile = text(driver::BackgroundFile);
    settings.firstPageOnly = flag(driver::FirstPageOnly);
    settings.combinePdfs = flag(driver::CombinePDFs);
    constexpr std::array InformationValues = {driver::Author,   driver::Title,   driver::Subject,
                                              driver::Keywords, driver::Creator, driver::Producer};
    for (const std::string_view name : InformationValues) {
        std::string value = text(name);
        if (!value.empty()) {
            settings.information.emplace_back(std::string("/").append(name), std::move(value));
        }
    }
    return settings;
}

} // namespace lexi
