<!--#include virtual="comune.inc"-->
<%
// The company page: the merchant's own text in the visitor's language and
// the shop's details.
var paginaCorrente = "/azienda.asp";
var titoloPagina = T("PMTAZIENDA", "Chi siamo");
// The merchant writes this page's text in the desktop program as markup.
var testoAzienda = String(generale.LeggiChiSiamo() || "");
%>
<!--#include virtual="testa.inc"-->
<div class="pagina-testo">
  <article class="testo">
    <h1><%= H(T("PMTAZIENDA", "Chi siamo")) %></h1>
    <%= testoAzienda %>
  </article>
  <aside class="recapiti">
    <h2><%= H(generale.RagioneSociale) %></h2>
    <dl>
      <dt><%= H(T("PMTINDIRIZZO", "Indirizzo")) %></dt>
      <dd><%= H(generale.Indirizzo) %><br><%= H(generale.Cap) %> <%= H(generale.Localita) %> (<%= H(generale.Provincia) %>)</dd>
<% if (String(generale.TelefonoInfo) !== "") { %>
      <dt><%= H(T("PMTTELEFONO", "Telefono")) %></dt>
      <dd><%= H(generale.TelefonoInfo) %></dd>
<% } %>
<% if (String(generale.EmailInfo) !== "") { %>
      <dt><%= H(T("PMTEMAIL", "E-mail")) %></dt>
      <dd><a href="mailto:<%= H(generale.EmailInfo) %>"><%= H(generale.EmailInfo) %></a></dd>
<% } %>
<% if (String(generale.PartitaIVA) !== "") { %>
      <dt><%= H(T("PMTPARTITAIVA", "Partita IVA")) %></dt>
      <dd><%= H(generale.PartitaIVA) %></dd>
<% } %>
    </dl>
    <p><a class="bottone" href="/contatti.asp"><%= H(T("PMTSCRIVICI", "Scrivici")) %></a></p>
  </aside>
</div>
<!--#include virtual="piede.inc"-->
