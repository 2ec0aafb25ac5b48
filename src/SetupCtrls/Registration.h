#pragma once
// Makes the board-picture controls known to the form description loader.

namespace SetupCtrls {

// Idempotent; call before loading a description that uses these classes.
void registerClasses();

}
