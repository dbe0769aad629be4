// Stands in for the game in tests and the demo.
int main() { return 0; }
