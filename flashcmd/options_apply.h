#pragma once
// Applies the options: checks them in order (a failed check throws its
// STATUS) and makes the library calls they ask for.
void applyOptions();
