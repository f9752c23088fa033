#include "app/reports/ReportJob.h"

#include <QDir>

#include "app/engine/columns/DatePictures.h"
#include "app/engine/state/AppState.h"
#include "app/reports/ReportFont.h"
#include "app/reports/ReportLayout.h"
#include "app/reports/ReportPager.h"
#include "app/reports/ReportRecords.h"
#include "app/reports/ReportRun.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"

namespace cdz {

ReportJob::ReportJob(AppState& state, const ReportDefinition& definition, ReportRequest request,
                     QSizeF paper)
    : state_(state), definition_(definition), request_(std::move(request)), paper_(paper) {}

ReportJob::~ReportJob() = default;

bool ReportJob::open() {
    if (records_) return failure_ == Failure::None;
    pages_ = std::make_unique<PageList>(QDir::tempPath());
    if (!pages_->isOpen()) {
        failure_ = Failure::Pages;
        error_ = pages_->errorString().toStdString();
        return false;
    }
    records_ = std::make_unique<ReportRecords>(state_.catalogue(), definition_);
    if (records_->open() != 0) {
        failure_ = Failure::Open;
        error_ = state_.error().driverText;
        return false;
    }
    return true;
}

Bindings& ReportJob::bindings() {
    return records_->bindings();
}

bool ReportJob::start() {
    if (!open()) return false;
    // Dates print as the user set them, the printing date and every date column alike.
    const std::string dates = datePictureSetting(state_.settings().dateFormat);
    for (ReportColumn& c : definition_.columns) {
        if (!dates.empty()) c.picture = replaceDatePicture(c.picture, dates);
        if (c.captionOf) c.caption = c.captionOf(state_);
    }
    ReportLook look;
    look.font.pointSize = definition_.detailPoints;
    if (request_.font) ReportFont::apply(*request_.font, look);
    look.logo = QString::fromStdString(state_.settings().logo);
    look.date = QString::fromStdString(
        formatPicture("@" + (dates.empty() ? std::string("d17") : dates), double(today())));
    std::string title = request_.title;
    if (title.empty())
        title = definition_.titleOf ? definition_.titleOf(state_) : definition_.title;
    // A saved query's description says which songs the pages hold.
    if (!request_.queryDescription.empty()) title += " (" + request_.queryDescription + ")";
    if (definition_.beforePass && !definition_.beforePass(state_, request_, &error_)) {
        failure_ = Failure::Before;
        return false;
    }
    layout_ = ReportLayout::make(definition_, title, *pages_, paper_, look);
    run_ = std::make_unique<ReportRun>(*records_, definition_, *layout_, request_.criteria);
    if (!run_->start(request_.filter)) {
        failure_ = run_->readError() ? Failure::Open : Failure::View;
        error_ = run_->error();
        return false;
    }
    return true;
}

bool ReportJob::step(int records) {
    return run_ && run_->step(records);
}

bool ReportJob::finish() {
    return run_ && run_->finish();
}

int ReportJob::percent() const {
    return run_ ? run_->percent() : 0;
}

int ReportJob::readError() const {
    return run_ ? run_->readError() : 0;
}

bool ReportJob::hasPages() const {
    return pages_ && (pages_->pageCount() > 0 || (layout_ && layout_->pageHasContent()));
}

const std::string& ReportJob::fileLabel() const {
    static const std::string none;
    return records_ ? records_->fileName() : none;
}

}  // namespace cdz
