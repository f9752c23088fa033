#pragma once
// What a browse asks of a record form, and what the form answers. The browse calls the form
// with its request through the program's state (AppState::call), which hands back the form's
// response when the form returns; a browse called as a picker is called with Select.
namespace cdz {

enum class Request : int {
    None = 0,
    Insert = 1,
    Change = 2,
    Delete = 3,
    Select = 4,
};

enum class Response : int {
    None = 0,
    Completed = 1,
    Cancelled = 2,
};

}  // namespace cdz
