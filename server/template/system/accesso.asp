<!--#include virtual="comune.inc"-->
<%
// The shopper's sign-in: his user ID and password, then his orders. A
// signed-in shopper finds here the way out.
var area = Server.CreateObject("QTR50.AreaRiservata");
area.SetConn(generale.Conn);
if (String(Request.QueryString("Esci")) === "1") {
    area.ScollegaUtente();
    area.Free();
    Response.Redirect("/default.asp");
}
var rifiutato = false;
if (String(Request.ServerVariables("REQUEST_METHOD")) === "POST") {
    if (area.ValidazioneUtente()) {
        area.Free();
        Response.Redirect("/ordini.asp");
    }
    rifiutato = true;
}
var collegato = area.ControlloUtenteCollegato();
var nomeCliente = String(area.RagioneSociale) !== "" ? String(area.RagioneSociale) : String(area.Nome) + " " + String(area.Cognome);
area.Free();
var paginaCorrente = "/accesso.asp";
var titoloPagina = T("PMTACCESSO", "Accedi");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione accesso">
  <h1><%= H(titoloPagina) %></h1>
<% if (collegato) { %>
  <p id="cliente-collegato"><%= H(T("PMTCOLLEGATOCOME", "Sei collegato come")) %> <strong><%= H(nomeCliente) %></strong>.</p>
  <p class="azioni-carrello"><a class="bottone" href="/ordini.asp"><%= H(T("PMTIMIEIORDINI", "I miei ordini")) %></a>
    <a id="esci" href="/accesso.asp?Esci=1"><%= H(T("PMTESCI", "Esci")) %></a></p>
<% } else { %>
<%   if (rifiutato) { %>
  <p class="messaggio errore" role="alert" id="accesso-rifiutato"><%= H(T("ERRACCESSO", "Nome utente o password non corretti.")) %></p>
<%   } %>
  <form class="modulo" method="post" action="/accesso.asp" id="modulo-accesso">
    <label for="UserID"><%= H(T("PMTNOMEUTENTE", "Nome utente")) %></label>
    <input type="text" id="UserID" name="UserID" autocomplete="username" required value="<%= H(rifiutato ? Request.Form("UserID") : "") %>">
    <label for="Password"><%= H(T("PMTPASSWORD", "Password")) %></label>
    <input type="password" id="Password" name="Password" autocomplete="current-password" required>
    <button class="bottone" type="submit"><%= H(T("PMTACCEDI", "Accedi")) %></button>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
