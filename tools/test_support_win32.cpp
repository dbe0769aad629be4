// Helpers shared by the tests that run under Wine.
