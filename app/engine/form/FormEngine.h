#pragma once
// The engine every record form runs on, without widgets. The caller sets the program's request
// and loads the record buffer; the engine reserves a number for a new record in an
// auto-numbered file, deletes without a window (after asking), validates the controls in
// order, writes an insert or a change (changes and deletions through the file's integrity
// procedures), keeps the history record for Ditto, and on leaving removes the reserved record
// of a cancelled insert and answers with the program's response.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/domain/data/RecordCopy.h"
#include "app/engine/form/FieldCheck.h"
#include "app/engine/form/FormDeclaration.h"
#include "app/engine/state/Request.h"
#include "runtime/data/DataFile.h"

namespace cdz {

class AppState;
class DataFile;

// What the engine asks of its window.
struct FormHost {
    std::function<void()> redisplay;         // show the buffer's values again
    std::function<void(int control)> focus;  // give a control the focus; 0 is the first
    std::function<void(bool on)> busy;       // the wait cursor, on and off
};

class FormEngine {
public:
    // How many times a number is reserved before the user is asked whether to go on.
    static constexpr int kNumberAttempts = 3;

    FormEngine(AppState& state, FormDeclaration declaration, FormHost host = {});
    // Leaves the form if that was not done (finish()).
    ~FormEngine();
    FormEngine(const FormEngine&) = delete;
    FormEngine& operator=(const FormEngine&) = delete;

    // Set the checks first: the files they look in are opened here.
    // Takes the program's request, opens the files, copies the record and, by request,
    // reserves the number of an insert or deletes the record. True when the window is to
    // open; false when the form is already done (a deletion, or a failure).
    bool start();

    // The request the form works on (a copy is an insert) and whether it is a copy.
    Request request() const { return request_; }
    bool copying() const { return copying_; }
    // The window's title for the request; nullopt keeps the design title.
    std::optional<std::string> title() const;

    // One check per control, in control order (Kind::None for a control without one).
    void setChecks(std::vector<FieldCheck> checks) { checks_ = std::move(checks); }
    // Runs after every completed insert or change, the record written and current (an
    // unchanged change included): what a form links to the record once it exists.
    void setAfterWrite(std::function<void()> step) { afterWrite_ = std::move(step); }
    // Runs when an insert is cancelled, in one transaction with the removal of the reserved
    // record, over the form's file and its other files: what was linked to the reserved number
    // meanwhile is undone. Returns 0, or a runtime code (then nothing is removed and the user
    // is told).
    void setCancelInsert(std::function<int()> step) { cancelInsert_ = std::move(step); }
    // The record as it was before the form adjusted it on entry (a default filled in), so that
    // a change measures from it; without one the record at start() is taken.
    void setOriginal(RecordCopy original) { original_ = std::move(original); }
    // Validates one control; on failure the warning has been shown and the control has the
    // focus.
    bool validate(int control);
    // OK: for an insert or a change every control is validated in order, and the record is
    // written when all pass. True when the form is done and its window closes.
    bool ok();
    // Cancel or Esc: the form is done without writing.
    void cancel();
    // Leaving, however the window closed: a cancelled insert's reserved record is deleted, the
    // files are given back and the program's response is set. Returns the response.
    Response finish();

    // One turn of the form: while one lasts the form's record is in the file's shared buffer.
    // Between turns the record is kept aside, so that another window reading the same file
    // meanwhile (a browse repainting behind the form) changes nothing the form shows or
    // writes. Turns nest; the outermost puts the record back and keeps it again at its end.
    class Turn {
    public:
        explicit Turn(FormEngine& engine);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        FormEngine& engine_;
    };

    // Puts the history record's value of one field or memo (by label) back into the record.
    bool ditto(const std::string& field);

    Response response() const { return response_; }
    // The number of the record reserved for an insert, 0 when none is.
    int64_t reservedRecord() const { return reserved_; }
    DataFile& file() const;

private:
    void keepRecord();
    void resumeRecord();
    bool reserveNumber();
    void deleteRecord();
    bool complete();
    bool completeInsert();
    bool completeChange();
    int writeReserved();
    void reportDuplicate(int code);
    void stay();
    void busy(bool on) const;
    void removeReserved();
    bool openFiles();
    void releaseFiles();

    AppState& state_;
    FormDeclaration decl_;
    FormHost host_;
    std::vector<FieldCheck> checks_;
    std::function<void()> afterWrite_;
    std::function<int()> cancelInsert_;
    Request request_ = Request::None;
    Response response_ = Response::Cancelled;
    bool copying_ = false;
    bool started_ = false;
    bool finished_ = false;
    std::vector<CatalogueFile> used_;
    RecordCopy opened_;  // the record as the form got it, for detecting a change
    RecordCopy original_;
    int64_t reserved_ = 0;
    // The form's record between turns, with which record was current and how it was read.
    RecordCopy kept_;
    DataFile::Current keptCurrent_;
    bool keeping_ = false;
    int turns_ = 0;
};

}  // namespace cdz
