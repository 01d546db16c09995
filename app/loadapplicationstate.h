#pragma once

// Loads the vendor and tender summary from the database under the busy pointer. On an error it shows
// the error box and stops; the values loaded so far keep their values.
void LoadApplicationState();
