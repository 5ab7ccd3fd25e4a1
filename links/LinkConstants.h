#pragma once
// Sizes shared by the start page host and the link command interpreter.

// Characters of an intercepted link's command text that g_szLinkCommand holds (plus its
// terminator).
#define LINK_COMMAND_MAX   887
// The longest argument a link command accepts (g_szLinkArgument holds it plus a
// terminator). A longer argument drops its command: a cut program name could start
// another program.
#define LINK_ARGUMENT_MAX  380
