// Nothing of its own: this file's target only holds the precompiled header that every widget
// test program reuses.
