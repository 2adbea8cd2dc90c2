<!--#include virtual="comune.inc"-->
<%
// The home page: the blocks of the graphic project's home page between
// the header and the footer.
var paginaCorrente = "/default.asp";
var titoloPagina = T("PMTPAGINAHOME", "Home");
%>
<!--#include virtual="testa.inc"-->
##CODICEFIGLIO##<!--#include virtual="piede.inc"-->
