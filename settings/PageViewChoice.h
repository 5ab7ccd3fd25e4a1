#pragma once
// Which view shows the start page (Kelo.ini, Generalite, "Page").
enum PageViewChoice
{
    PAGE_VIEW_AUTOMATIC,   // absent or any other value: the browser control when it shows the page
    PAGE_VIEW_BROWSER,     // "navigateur": the platform's browser control only
    PAGE_VIEW_BUILTIN,     // "integree": the built-in page view only
};
