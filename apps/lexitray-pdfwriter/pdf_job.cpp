#include "apps/lexitray-pdfwriter/pdf_job.h"

#include "apps/lexitray-pdfwriter/job_settings.h"
#include "apps/lexitray-pdfwriter/pdf_finishing.h"
#include "platform/failure.h"
#include "platform/posix/posix_printers.h"
#include "platform/posix/temp_file.h"
#include "platform/posix/work_folder.h"
#include "shared/pdfwriter/md_pdf_writer.h"

#include <filesystem>
#include <fstream>

namespace lexi {
namespace {

namespace fs = std::filesystem;

constexpr const char* Source = "PdfJob";

bool isPdf(const std::string& hostPath) {
    std::ifstream file(hostPath, std::ios::binary);
    char head[5] = {};
    file.read(head, sizeof head);
    return file && std::string_view(head, sizeof head) == "%PDF-";
}

void needFile(const std::string& hostPath, const std::string& what) {
    std::error_code error;
    if (!fs::is_regular_file(hostPath, error)) {
        throw Failure(failure::FileNotFound, what + " is not there: " + hostPath, Source);
    }
}

} // namespace

bool PdfJob::print(const std::string& hostDocument, const std::string& jobToken) {
    log_.write("Job: " + hostDocument);
    try {
        produce(hostDocument, jobToken);
        return true;
    } catch (const Failure& failure) {
        log_.write("Job failed, no PDF written: " + failure.description());
        return false;
    }
}

std::string PdfJob::hostPath(const std::string& windowsPath, const char* what) const {
    const auto host = drives_.toHost(windowsPath);
    if (!host) {
        throw Failure(failure::PathNotFound,
                      std::string(what) + " is on no drive of this workstation: " + windowsPath,
                      Source);
    }
    return *host;
}

void PdfJob::checkJobToken(const std::string& jobToken, const char* when) {
    if (!jobToken.empty() && readRegistryText(registry_, PdfWriterSettingsKey,
                                              posix::PosixPrinters::JobTokenValue) != jobToken) {
        throw Failure(failure::ApplicationDefined,
                      std::string("The job settings are not this job's ") + when, Source);
    }
}

void PdfJob::produce(const std::string& hostDocument, const std::string& jobToken) {
    const JobSettings settings = readJobSettings(registry_);
    checkJobToken(jobToken, "as it starts");
    needFile(hostDocument, "The document");
    std::string target;
    if (settings.bypassSaveAs) {
        if (settings.outputFile.empty()) {
            throw Failure(failure::FileNotFound, "The job names no output file", Source);
        }
        target = hostPath(settings.outputFile, "The output file");
    } else {
        const std::string suggested =
            settings.outputFile.empty() ? fs::path(hostDocument).replace_extension(".pdf").string()
                                        : hostPath(settings.outputFile, "The output file");
        target = ui_.saveFileName("Gem PDF-fil som", suggested);
        if (target.empty()) {
            throw Failure(failure::ApplicationDefined, "The user chose no file name", Source);
        }
    }
    log_.write("Output file: " + target);

    FinishingFiles files;
    if (settings.addBackground) {
        files.background = hostPath(settings.backgroundFile, "The background");
        needFile(files.background, "The background");
    }
    std::error_code error;
    if (settings.combinePdfs && fs::exists(target, error)) {
        files.existing = target;
        log_.write("Appending to the PDF at the output file");
    }
    const fs::path folder = fs::absolute(target, error).parent_path();
    if (!fs::is_directory(folder, error)) {
        throw Failure(failure::PathNotFound, "The output folder is not there: " + folder.string(),
                      Source);
    }
    posix::TempFile result(target, Source);
    const posix::WorkFolder work(folder, Source);
    if (isPdf(hostDocument)) {
        files.printed = hostDocument;
    } else {
        files.printed = (work.path() / "printed.pdf").string();
        converter_.convertToPdf(hostDocument, files.printed);
    }
    files.result = result.path();
    finishPdf(settings, files);
    checkJobToken(jobToken, "now that its PDF is made");
    result.keep();
    log_.write(std::string("PDF written") + (settings.addSecurity ? ", secured" : "") +
               (files.background.empty() ? "" : ", with background"));
}

} // namespace lexi
