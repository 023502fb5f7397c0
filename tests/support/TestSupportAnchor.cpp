// Keeps the support library non-empty before any helper lands in it.
namespace ZarvoTestSupport { int anchor = 0; }
